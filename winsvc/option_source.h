#pragma once
// What an option group shows and stores: one value, the value of its selected
// radio button. The program binds its own data through this, as a list's rows
// through ListSource; the window services know nothing else about it.

#include <string>
#include <string_view>

namespace quellix {

class OptionSource {
 public:
  virtual ~OptionSource() = default;
  // The value now; read whenever the group is drawn or compared.
  virtual std::string_view Value() const = 0;
  // The user picked a radio button: its value, as the definition gives it.
  virtual void Store(std::string_view value) = 0;
};

// A value kept as it was stored: what an option group holds when the program
// binds nothing to it.
class OptionText : public OptionSource {
 public:
  std::string_view Value() const override { return value_; }
  void Store(std::string_view value) override { value_ = std::string(value); }

 private:
  std::string value_;
};

}  // namespace quellix
