#pragma once

#include <cstdint>
#include <string>

// Control kinds: a number each skinned control gives its binding, which chooses the default
// skin section and whether the control turns hot when the mouse enters it.
namespace KindCode {
inline constexpr std::int32_t Edit = 3;
inline constexpr std::int32_t ComboBox = 3;
inline constexpr std::int32_t GroupBox = 74;
inline constexpr std::int32_t SpeedButton = 92;
inline constexpr std::int32_t PushButton = 93;
inline constexpr std::int32_t FrameProvider = 224;
inline constexpr std::int32_t AdapterItem = 227;
// Edit-like kinds that take the section's colours as their own (besides the edit classes).
inline constexpr std::int32_t EditLike = 97;
} // namespace KindCode

// The section a binding of this kind uses when none was chosen; ownerClassName for kinds
// that the table does not list.
std::string DefaultSectionForKind(std::int32_t kind, const std::string& ownerClassName);

// Kinds that never become hot when the mouse enters them (panels, group boxes, pages, bars).
bool IsNoHoverKind(std::int32_t kind);
