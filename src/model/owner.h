// The host interface: what a running program needs from the window that owns it.
#pragma once

#include "model/options.h"

#include <cstdint>
#include <string>

class TProgramOwner {
public:
    virtual ~TProgramOwner() = default;
    virtual bool Checked(TOption Item) const = 0; // the menu check mark, read at each use
    virtual std::string GetEditorText() = 0;      // bytes, symbol bytes included
    virtual void ClearOutput() = 0;
    virtual void AddLine(const std::string& Line) = 0;     // one line of the output pane
    virtual void SetCaret(std::int32_t Index) = 0;         // in the editor, empty selection
    virtual void ShowMessage(const std::string& Text) = 0; // modal, one button
    virtual void ProcessMessages() = 0;                    // lets pending events run
    virtual void FocusOutput() = 0;                        // keyboard focus to the output pane
};
