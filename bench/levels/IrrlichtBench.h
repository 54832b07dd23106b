#pragma once
// Irrlicht 1.8 brought up the same way by every benchmark program: OpenGL,
// 32-bit colour with a stencil buffer, no vertical sync, errors only.
#include <irrlicht/irrlicht.h>

#include <functional>

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

// One frame of the whole scene on black, calling beforeSwap between drawing
// and the buffer swap; false when the window is gone.
inline std::function<bool(const std::function<void()>&)> IrrlichtFrame(irr::IrrlichtDevice* device) {
    return [device](const std::function<void()>& beforeSwap) {
        if (!device->run()) return false;
        irr::video::IVideoDriver* driver = device->getVideoDriver();
        driver->beginScene(true, true, irr::video::SColor(255, 0, 0, 0));
        device->getSceneManager()->drawAll();
        beforeSwap();
        driver->endScene();
        return true;
    };
}

}  // namespace levelbench
