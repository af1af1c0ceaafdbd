#pragma once

#include "framework/DialogTemplate.h"

#include <cstdint>
#include <vector>

// A dialog template as the Win32 dialog functions take it from memory: a DLGTEMPLATEEX with its font and
// one DLGITEMTEMPLATEEX per control, in template order, which is the tab order and the Z order (group
// boxes come last, beneath what they frame). Words, so that the start is aligned as the functions need.
std::vector<std::uint16_t> BuildDialogResource(const DialogTemplate& dialogTemplate);

// The window styles of the dialog and of one control.
std::uint32_t DialogStyleOf(const DialogTemplate& dialogTemplate);
std::uint32_t DialogExStyleOf(const DialogTemplate& dialogTemplate);
std::uint32_t ControlStyleOf(const ControlTemplate& control);
std::uint32_t ControlExStyleOf(const ControlTemplate& control);
