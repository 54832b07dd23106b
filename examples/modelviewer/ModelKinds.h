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
    // file is the --model path; weapon the --weapon file, for the classes
    // that hold one (otherwise ignored).
    virtual bool Load(const std::string& file, const std::string& weapon) = 0;
    // An --anim file, for the classes that add animations from files of their own.
    virtual void LoadAnimation(const std::string&) {}
    // The --skin option: a picture or material file, or for a player folder
    // the name of its skin files (lower_NAME.skin, ...).
    virtual void UseSkin(const std::string& skin) = 0;
    // The --palette option: the colours of palette-indexed skins (MDL); other
    // classes ignore it.
    virtual void UsePalette(const std::string&) {}
    // Draws the model; Animate advances its clock by the frame time.
    virtual void Render(bool Animate) = 0;
    virtual std::vector<std::string> Animations() const = 0;
    virtual void SetAnimation(const std::string& name) = 0;
    virtual std::vector<korvath::VOLUME> Volume() const = 0;
    virtual korvath::Model& Placement() = 0;
    // Lines along the skeleton of a skeletal model; nothing for the others.
    virtual void ShowSkeleton(bool) {}
    // Keys of the model's own (a player's torso and legs); none by default.
    virtual void Steer(korvath::Keyboard&) {}
};

// An empty model of the kind that reads path: a folder is a Quake 3 player,
// a file goes by its extension (any case). Null when no class does.
std::unique_ptr<ViewedModel> MakeViewedModel(const std::string& path);
// "md2, ..." for messages.
std::string KnownExtensions();
