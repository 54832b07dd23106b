#pragma once
// The Irrlicht camera of the model benchmarks: where the Korvath side puts its
// camera, with the square aspect of the engine's default projection.
#include <irrlicht/irrlicht.h>

#include "ModelGrid.h"

namespace modelbench {

inline void FaceGrid(irr::scene::ISceneManager* scene) {
    irr::scene::ICameraSceneNode* camera = scene->addCameraSceneNode(
        nullptr, irr::core::vector3df(0, 0, -kCameraDistance), irr::core::vector3df(0, 0, 0));
    camera->setFOV(kFieldOfView * irr::core::DEGTORAD);
    camera->setAspectRatio(1.0f);
    camera->setNearValue(1.0f);
    camera->setFarValue(100000.0f);
}

}  // namespace modelbench
