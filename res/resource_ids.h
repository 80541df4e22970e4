/* Ids of the program's resources; read by the resource compiler and by the code. */
#pragma once

#define IDI_QUILLORY 1

/* Button images. */
#define IDB_SAVE 101
#define IDB_REVERT 102
#define IDB_WAV 103
#define IDB_DELETE 104
#define IDB_RUN 105
