#pragma once
// The core service objects the engine shares, each made on first use and kept
// while the library is loaded.
namespace korvath {

class Ext;
class Font;
class Timer;

Ext& EngineExt();
Font& EngineFont();
Timer& EngineTimer();

}  // namespace korvath
