// Drawing an MD3 character: the legs at the model's placement, every other
// part at the tag of its parent, each posed between its clock's frames.
#include "core/FrameTiming.h"
#include "korvath/MD3.h"
#include "models/Md3Data.h"
#include "models/ModelTransform.h"
#include "platform/GL.h"
#include "world/Volumes.h"

namespace korvath {

namespace {

class PartRenderer {
public:
    PartRenderer(Md3Data& data, const ModelPlacement& placement, bool animate)
        : d_(data), placement_(placement), animate_(animate) {}

    void Render(size_t i, const Matrix4& model) {
        Md3Part& part = d_.Parts[i];
        Md3PartClock& clock = part.Clock;
        if (animate_) StepPartClock(clock, d_.Table, Timing().CurrentTick);
        VOLUME& volume = d_.Volumes[static_cast<size_t>(part.PartIndex)];
        StartVolume(volume, placement_);
        PoseMd3Part(part.Mesh, clock.CurrentFrame, clock.NextFrame, clock.Blend);
        Draw(part, volume, model);
        Children(part, i, model);
    }

private:
    void Draw(Md3Part& part, VOLUME& volume, const Matrix4& model) {
        const Md3PartMesh& mesh = part.Mesh;
        bool skinned = false;
        for (size_t s = 0; s < mesh.Surfaces.size(); ++s) {
            const SHADER& material = SurfaceMaterial(d_, part, s);
            const int32_t passes = MaterialPassCount(material);
            skinned = skinned || part.Skins[s].Set;
            Timing().FrameVertices += passes * static_cast<int32_t>(mesh.Surfaces[s].Triangles.IndexCount);
            // The box holds what the passes drew.
            if (passes > 0)
                for (const uint32_t v : mesh.Surfaces[s].VolumeCorners)
                    GrowVolume(volume, model, mesh.Arrays.Vertices[v].Position);
        }
        // Surfaces wearing the part's material share its passes.
        if (!skinned) return DrawMaterialPasses(d_.Materials[static_cast<size_t>(part.PartIndex)], mesh.Arrays);
        for (size_t s = 0; s < mesh.Surfaces.size(); ++s)
            DrawMaterialPasses(SurfaceMaterial(d_, part, s), mesh.Arrays, mesh.Surfaces[s].Triangles);
    }

    // Each linked part hangs at its tag of this part's pose. Links only go to
    // later parts, so the walk ends.
    void Children(const Md3Part& part, size_t i, const Matrix4& model) {
        const Md3PartClock& clock = part.Clock;
        for (size_t t = 0; t < part.Links.size(); ++t) {
            const size_t child = static_cast<size_t>(part.Links[t]);
            if (child <= i || child >= d_.Parts.size()) continue;
            const Matrix4 tag = Md3TagMatrix(part.Mesh.File, t, clock.CurrentFrame, clock.NextFrame, clock.Blend);
            glPushMatrix();
            glMultMatrixf(tag.data());
            Render(child, MatrixMultiply(tag, model));
            glPopMatrix();
        }
    }

    Md3Data& d_;
    const ModelPlacement& placement_;
    bool animate_;
};

}  // namespace

void MD3::Render(bool Animate) {
    if (!loaded_ || data_->Parts.empty()) return;
    const ModelDrawing drawing(placement_, levelLighting_);
    const Matrix4 model = ModelMatrix(placement_.Position, placement_.Rotation, placement_.Scale);
    PartRenderer(*data_, placement_, Animate).Render(0, model);
}

}  // namespace korvath
