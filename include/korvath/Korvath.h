#pragma once
// Everything a game program needs: include this one header and link korvath.
#include "korvath/Types.h"
#include "korvath/Enums.h"
#include "korvath/Material.h"
#include "korvath/Camera.h"
#include "korvath/Engine.h"
#include "korvath/Ext.h"
#include "korvath/Font.h"
#include "korvath/Frustum.h"
#include "korvath/Keyboard.h"
#include "korvath/Map.h"
#include "korvath/Timer.h"
#include "korvath/Window.h"
