#pragma once
// The platform's case mapping, character classes and text comparison over
// UTF-16 units, with the Unicode simple case mappings and letter classes;
// surrogates are left as they are and belong to no class.

#include <cstdint>
#include <string_view>

namespace platform {

char16_t CharUpperW(char16_t C);
char16_t CharLowerW(char16_t C);
// In place over Length units; returns Length.
std::uint32_t CharUpperBuffW(char16_t* Buffer, std::uint32_t Length);
std::uint32_t CharLowerBuffW(char16_t* Buffer, std::uint32_t Length);

// The 8-bit forms, in code page 1252: a character whose other case the
// page does not hold stays as it is.
char CharUpperA(char C);
char CharLowerA(char C);

// A letter of any script; a letter or a digit of any script.
bool IsCharAlphaW(char16_t C);
bool IsCharAlphaNumericW(char16_t C);

constexpr std::uint32_t NORM_IGNORECASE = 1;
constexpr int CSTR_LESS_THAN = 1;
constexpr int CSTR_EQUAL = 2;
constexpr int CSTR_GREATER_THAN = 3;

// Texts ordered unit by unit, after both are upper-cased when case is
// ignored, as the class library's 8-bit comparisons order them; a text that
// is the start of another comes first. Returns a CSTR_ value.
int CompareStringW(std::uint32_t Locale, std::uint32_t Flags, std::u16string_view String1, std::u16string_view String2);

}  // namespace platform
