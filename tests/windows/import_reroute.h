#pragma once
// Points one of this test program's own imports at a function of the test's,
// for as long as the reroute lives: a test can count, or fail, the calls the
// code under test makes to the system. Only the program's own import slots
// change; the system's DLLs call each other as before.

namespace quellix::testing {

class ImportReroute {
 public:
  // Reroutes `function` of `dll` (e.g. "gdi32.dll") to `replacement`.
  ImportReroute(const char* dll, const char* function, void* replacement);
  ~ImportReroute();
  ImportReroute(const ImportReroute&) = delete;
  ImportReroute& operator=(const ImportReroute&) = delete;

  // What the slot held: the system's function, null when this program does
  // not import it (then nothing was rerouted).
  void* Original() const { return original_; }

 private:
  void** slot_ = nullptr;
  void* original_ = nullptr;
};

}  // namespace quellix::testing
