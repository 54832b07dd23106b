#pragma once
// What the keyframe harnesses (MD2, MDL) do with a model once loaded: animated
// and still frames of Render, with frames set far outside the model.

namespace fuzzsupport {

template <typename Keyframed>
void RenderKeyframes(Keyframed& model) {
    model.SetVelocity(7);
    model.SetAnimation("run");
    model.Render();
    model.Render();
    model.SetFrame(1 << 30);
    model.Render(false);
    model.SetFrame(-5);
    model.Render(false);
}

}  // namespace fuzzsupport
