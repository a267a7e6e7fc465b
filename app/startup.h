// Process-wide values established by the start-up.
#pragma once
#include <stdint.h>

// One bit per recognised Windows version; 0 when not recognised.
extern uint32_t PlatformClass;

#define INSTANCE_MUTEX_NAME "Orvandale Scenewheel"
#define MSG_ONE_INSTANCE "Only one instance of this program can run at a time"
#define WINDOW_CLASS_NAME "OD_SceneWheelWnd"
