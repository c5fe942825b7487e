#include "quiz/CBitmap.h"

CBitmap g_bmpFlag;
