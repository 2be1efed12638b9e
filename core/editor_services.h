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

enum class Answer { Yes, No };

// Modal boxes with a text and a title; each returns when it is dismissed.
class MessageBoxService {
 public:
  virtual ~MessageBoxService() = default;
  // One OK button.
  virtual void ShowMessage(const std::string& text, const std::string& title) = 0;
  // Buttons 是 and 否, `byDefault` the default; true for 是.
  virtual bool Ask(const std::string& text, const std::string& title, Answer byDefault) = 0;
};

}  // namespace tallyvane
