#pragma once
// The keyboard the engine reads its own keys from (console toggle, line editing),
// made on first use and kept while the library is loaded.
namespace korvath {

class Keyboard;
Keyboard& EngineKeyboard();

}  // namespace korvath
