#pragma once

#include <Qt>
#include <functional>
#include <optional>

// The modifier keys held at this moment. Option on macOS is Qt's Alt modifier; Qt on macOS
// reports the Control key as its Meta modifier (Command being its Control modifier).
namespace KeyModifiers {

Qt::KeyboardModifiers held();
inline bool optionKey() { return held().testFlag(Qt::AltModifier); }
inline bool shiftKey() { return held().testFlag(Qt::ShiftModifier); }

// The modifier Qt reports for the Control key on this platform.
Qt::KeyboardModifier controlModifier();
inline bool controlKey() { return held().testFlag(controlModifier()); }

// Whether a mouse press is a plain click: the left button, or on macOS the right-button
// press that the system makes of a Control+click.
bool isClick(Qt::MouseButton button, Qt::KeyboardModifiers modifiers);

// A key that only modifies others (Shift, Control, Option, Cmd, Caps Lock, …) pressed alone.
bool isModifierKey(int key);

// Tests decide which keys are held; an empty probe restores the real keyboard state.
using Probe = std::function<Qt::KeyboardModifiers()>;
void setProbe(Probe probe);

// Tests take macOS's key mapping (true) or the other platforms' (false) on any platform;
// nullopt restores this platform's own.
void setMacMapping(std::optional<bool> mac);

}  // namespace KeyModifiers
