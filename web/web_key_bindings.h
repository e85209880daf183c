#pragma once
#include <string>
#include <vector>

#include "store/settings.h"

// The keys of the settings file in the page. A key name is read as SDL names the
// key at its place on a US keyboard ("Z", "Left Ctrl", "Keypad 8"): the browser
// tells a key's place at once but its layout only later, if at all. As on the
// desktop (app/key_bindings.h), a control left on its default key reads as
// written; once any world control is put on another key, every world control
// reads the key its setting names. Browser main thread.

// The key slot (web/dom_key_codes.h) of an SDL key name, ignoring case; -1 for a
// name the page does not know.
int KeyNameSlot(const std::string& name);

// Resolves the settings' key names. A name the page does not know is told in one
// line of `report` and the control keeps its default key.
void SetWebKeyBindings(const Settings& settings, std::vector<std::string>& report);

// The key slot a key event (its DOM `code`) counts for: the world control it is
// bound to; -1 for a key that lost its control to another, or that has no slot;
// otherwise its own slot.
int WebKeySlot(const char* domCode);

// Whether the key event's `code` is the key bound to the action (mute, volume).
bool IsWebBoundKey(int action, const char* domCode);
