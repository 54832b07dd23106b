#pragma once
// The model classes the viewer can show, chosen by file extension. A new model
// class plugs in with one adapter and one row of the table in ModelKinds.cpp.
#include <korvath/Korvath.h>

#include <memory>
#include <string>
#include <vector>

class ViewedModel {
public:
    virtual ~ViewedModel() = default;
    virtual bool Load(const std::string& file) = 0;
    virtual void SetSkin(const korvath::SHADER& skin) = 0;
    // Draws the model; Animate advances its clock by the frame time.
    virtual void Render(bool Animate) = 0;
    virtual std::vector<std::string> Animations() const = 0;
    virtual void SetAnimation(const std::string& name) = 0;
    virtual std::vector<korvath::VOLUME> Volume() const = 0;
    virtual korvath::Model& Placement() = 0;
};

// An empty model of the kind that reads files with this extension (any case);
// null when no class does.
std::unique_ptr<ViewedModel> MakeViewedModel(const std::string& extension);
// "md2, ..." for messages.
std::string KnownExtensions();
