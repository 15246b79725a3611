#pragma once
// What the algorithm page sends: the download text built from the editor and
// the values of an array typed as comma-separated numbers.

#include <QString>
#include <string>
#include <string_view>
#include <vector>

// "/**/" and then every editor line followed by one line feed. An empty
// editor has one empty line; a text ending in a line break has an empty last
// line. Lines are taken whole, however long.
std::string BuildDownloadText(const QString& editorText);

// One value per comma-separated item, in order: "1,2,3" gives 1, 2, 3;
// "1,2," gives 1, 2, 0; a text without comma (one character included) gives
// its one value. Every value is returned, however many.
std::vector<double> SplitArrayValues(std::string_view text);

// A number as the standard text-to-number conversion reads it in the C
// locale: leading blanks skipped, stops at the first character that does not
// fit, 0 when nothing fits; hexadecimal ("0x10" is 16) and the range results
// (+-HUGE_VAL beyond double's range, the nearest value for an underflow) as
// strtod gives them. Independent of the operator's locale, so that
// "1.5" is one and a half everywhere.
double LeadingNumber(std::string_view token);
