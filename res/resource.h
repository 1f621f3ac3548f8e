// Identifiers shared by the resource scripts and the code.
#pragma once

#define IDR_MAINMENU1 100
#define IDR_POPUPMENU1 101

// MainMenu1
#define ID_HERDAYIMUSTIDE1 201
#define ID_ESTESAQLASH1 202
#define ID_LATIN1 203
#define ID_SLAVEN1 204
#define ID_CHIQISH1 205
#define ID_TILTAXTINIOZGERTISH1 211
#define ID_HERIPYOTKESH1 212
#define ID_JUPYOTKESH1 213
#define ID_YARDEM2 221
#define ID_HEQQIDE1 222

// PopupMenu1
#define ID_KORSITISH1 231
#define ID_TILTAXTINIOZGERTISH2 232
#define ID_HERIPYOTKESH2 233
#define ID_JUPYOTKESH2 234
#define ID_CHIQISH2 235
