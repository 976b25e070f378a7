#pragma once

#include "framework/Controls.h"

// A numeric edit box: only digits and the editing keys get through to it.
class EditFieldNum : public fw::EditField {
  public:
    using fw::EditField::EditField;
    bool KeyDown(const fw::String& tasto) final;
};
