// What the engine needs from its window: the 28 boxes, and a way to tell the user something.
#pragma once

#include <string>

namespace tallyvane {

// Field n (1..28) is the text box Text<n>.
class FieldAccess {
 public:
  virtual ~FieldAccess() = default;
  virtual std::string GetFieldText(int field) const = 0;
  virtual void SetFieldText(int field, const std::string& text) = 0;
};

// A modal box with a text, a title and one OK button; returns when it is dismissed.
class MessageBoxService {
 public:
  virtual ~MessageBoxService() = default;
  virtual void ShowMessage(const std::string& text, const std::string& title) = 0;
};

}  // namespace tallyvane
