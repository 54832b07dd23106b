#pragma once
// Irrlicht 1.8 brought up the same way by every benchmark program: OpenGL,
// 32-bit colour with a stencil buffer, no vertical sync, errors only.
#include <irrlicht/irrlicht.h>

namespace levelbench {

inline irr::IrrlichtDevice* CreateBenchDevice(int width, int height) {
    irr::SIrrlichtCreationParameters params;
    params.DriverType = irr::video::EDT_OPENGL;
    params.WindowSize = irr::core::dimension2d<irr::u32>(width, height);
    params.Bits = 32;
    params.Vsync = false;
    params.Stencilbuffer = true;
    params.LoggingLevel = irr::ELL_ERROR;
    return irr::createDeviceEx(params);
}

}  // namespace levelbench
