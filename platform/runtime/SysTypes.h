#pragma once
// The basic value types every layer uses: UTF-16 strings, 8-bit strings where a file format or
// an API works in bytes, and the fixed-width integer names the rest of the system is written with.

#include <cstdint>
#include <string>

using String = std::wstring;     // UTF-16; every Win32 call takes the wide API
using AnsiString = std::string;  // 8-bit text in the ANSI code page, only where a format stores bytes
using WideChar = wchar_t;

using Byte = std::uint8_t;
using ShortInt = std::int8_t;
using Word = std::uint16_t;
using SmallInt = std::int16_t;
using Integer = std::int32_t;
using Cardinal = std::uint32_t;
using LongWord = std::uint32_t;
using Int64 = std::int64_t;
using UInt64 = std::uint64_t;
using NativeInt = std::intptr_t;  // pointer-sized: data slots that may carry an address
using NativeUInt = std::uintptr_t;
using Single = float;
using Double = double;
using Extended = long double;  // 80-bit x87 on this target
using TDateTime = double;      // days since 1899-12-30, time of day as the fraction
