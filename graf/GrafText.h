#ifndef GRAF_TEXT_H
#define GRAF_TEXT_H

#include <string>

// The texts cldds-graf writes: numbers in the form of the report or of CSV, character data
// that keeps an SVG valid XML whatever bytes it comes from, and CSV fields.

// A value as the report writes it: 6 significant digits, decimal comma; "inf", "-inf", "nan".
std::string textZpravy(double hodnota);
// The shortest text that reads back as the same double, decimal point; "inf", "-inf", "nan".
std::string textCsv(double hodnota);
// Any bytes as XML character data: the five special characters escaped; control characters,
// bytes that are not UTF-8 and code points XML forbids each replaced by U+FFFD.
std::string textXml(const std::string& bajty);
// A CSV field (RFC 4180): quoted, with its quotes doubled, when it holds a comma, a quote or a
// line break; otherwise as it is.
std::string poleCsv(const std::string& text);

#endif
