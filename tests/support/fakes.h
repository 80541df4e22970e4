#pragma once

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/toolkit/TForm.h"
#include "app/toolkit/TOpenDialog.h"
#include "app/toolkit/Ui.h"
#include "platform/microphone.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "platform/sound.h"

namespace quillory::test {

// Answers the program's boxes and dialogs as a user would, and remembers what it was shown.
class ScriptedUi : public Ui {
public:
    struct Box {
        WindowHandle owner;
        std::string text;
        std::string caption;
        unsigned style;
    };

    // The answers to the next boxes, in order; a box without an answer gets OK.
    std::deque<int> answers;
    // The file the next open dialogs choose; empty: the user cancels.
    std::deque<std::string> chosenFiles;

    // Runs when a box shows, before it is answered: what the window showed at that moment.
    std::function<void(const Box&)> onBox;
    // Runs while a form is shown modally: the user acting on it.
    std::function<void(TForm&)> onModal;

    std::vector<Box> boxes;
    std::vector<TOpenDialog> dialogs;
    int modalShows = 0;

    // What each box showed, "caption|text".
    std::vector<std::string> shown() const;

    int ShowMessageBox(WindowHandle owner, const std::string& text, const std::string& caption,
                       unsigned style) override;
    bool Execute(TOpenDialog& dialog) override;
    void ShowModal(TForm& form) override;
    // Runs `onProcessMessages`, where a test acts as the user in the middle of a long task.
    void ProcessMessages() override {
        ++processed;
        if (onProcessMessages) {
            onProcessMessages();
        }
    }
    std::function<void()> onProcessMessages;
    int processed = 0;
    WindowHandle ApplicationWindow() override { return applicationWindow; }

    WindowHandle applicationWindow = reinterpret_cast<WindowHandle>(0xA99);
};

// One installation record, or none.
class MemoryRegistry : public Registry {
public:
    RegistryLookup record;  // KeyMissing by default
    std::string askedKey, askedValue;

    RegistryLookup lookup(const std::string& key, const std::string& valueName) override {
        askedKey = key;
        askedValue = valueName;
        return record;
    }

    static MemoryRegistry installedAt(const std::string& dir) {
        MemoryRegistry registry;
        registry.record = {RegistryLookup::Outcome::String, dir};
        return registry;
    }
};

// Remembers each start it was asked for and answers with `result`.
class RecordingShell : public Shell {
public:
    struct Call {
        void* owner;
        std::string file, parameters, directory;
        int showCommand;
    };
    std::vector<Call> calls;
    std::intptr_t result = 42;

    std::intptr_t Execute(void* owner, const std::string& file, const std::string& parameters,
                          const std::string& directory, int showCommand) override {
        calls.push_back({owner, file, parameters, directory, showCommand});
        return result;
    }
};

// Plays nothing: remembers the format and the sample bytes of each sound it was given and
// answers with `outcome`. Like the system's, it holds a sound's samples (and so its open file)
// until it is stopped.
class RecordingSound : public Sound {
public:
    struct Play {
        PcmFormat format;
        std::string samples;
    };
    std::vector<Play> plays;
    Outcome outcome = Outcome::Playing;
    bool playing = false;
    int stops = 0;

    Outcome Play(const PcmFormat& format, std::unique_ptr<SampleSource> samples) override {
        plays.push_back({format, {}});
        char buffer[4096];
        for (std::size_t got; (got = samples->read(buffer, sizeof buffer)) > 0;) {
            plays.back().samples.append(buffer, got);
        }
        playing = outcome == Outcome::Playing;
        held_ = playing ? std::move(samples) : nullptr;
        return outcome;
    }
    void Stop() override {
        ++stops;
        playing = false;
        held_.reset();
    }
    bool Playing() override { return playing; }

private:
    std::unique_ptr<SampleSource> held_;
};

// Hands over its next chunk at each Collect while it records; once they are out, nothing
// more, or it fails for good when `failsAtEnd`.
class ScriptedMicrophone : public Microphone {
public:
    bool available = true, failsAtEnd = false, recording = false;
    std::deque<std::string> chunks;

    bool Available() override { return available; }
    Outcome Start(const PcmFormat&) override {
        recording = true;
        return Outcome::Recording;
    }
    bool Collect(std::string& samples) override {
        if (recording && !chunks.empty()) {
            samples += chunks.front();
            chunks.pop_front();
        }
        return !failsAtEnd || !chunks.empty();
    }
    void Stop() override { recording = false; }
};

}  // namespace quillory::test
