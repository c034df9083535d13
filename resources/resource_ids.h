// Ids of the resources built into zelmivo.exe; shared by the resource script
// and the program, so plain preprocessor constants only.
#ifndef ZELMIVO_RESOURCE_IDS_H
#define ZELMIVO_RESOURCE_IDS_H

#define IDI_PROGRAM 1005
#define IDB_LOGO 1006
#define IDI_PROGRAM_TILE 1007
#define IDW_SOUND_1 1008
#define IDW_SOUND_2 1009
#define IDI_WEB_TILE 1010

// Numeric resource type of the two RIFF WAVE sounds.
#define RT_ZELMIVO_SOUND 1552

#endif
