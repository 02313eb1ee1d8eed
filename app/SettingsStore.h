#pragma once
#include <cstdint>
#include <string>

// The program's two persistent settings: the clock motion ("Style", a 32-bit number in the
// local machine's registry key Software\Kestrune\Screensaver) and the clock colour (key "skin"
// of section "Skin" in Quorvel.ini beside the executable). Every call opens and releases its
// key or file; nothing is cached, so a value written by one run is what the next run reads.

// The motion: 1 moves the clock, anything else keeps it centred. 1 when the key cannot be
// opened for reading. Raises "Failed to get data for 'Style'" when the key is there but the
// value is missing, unreadable or longer than four bytes, and "Invalid data type for 'Style'"
// when the value is not a 32-bit number.
int32_t ReadStyle();

// Stores the motion, creating the key when missing. Does nothing and answers false when the key
// cannot be opened or created (no right to write the local machine's settings), so that the
// caller can say so; raises "Failed to set data for 'Style'" when the key opened but the value
// could not be stored.
bool WriteStyle(int32_t Value);

// The clock colour in the shared colour encoding; 255 (red) when the file, the section or the
// key is missing or the text is no number. Never raises.
int32_t ReadClockColor();

// Stores the colour as signed decimal text, creating the file and the section when missing.
// Raises "Unable to write to <path>" when the file cannot be written.
void WriteClockColor(int32_t Value);

// The full path of the colour's INI file: the executable's directory followed by Quorvel.ini.
std::string ClockColorFilePath();

// Converts the text of a stored colour as ReadClockColor does: blanks in front are skipped,
// then an optional sign and either decimal digits in the signed 32-bit range or "$" (or "0x"
// when the whole text starts with it) and hexadecimal digits of at most 32 bits, taken as the
// 32-bit pattern they spell (so "$FFFFFFFF" is -1). Anything else, an empty text included,
// gives Default.
int32_t ClockColorFromText(const std::string& Text, int32_t Default);
