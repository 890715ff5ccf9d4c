// The conversation between the installer and the program manager stand-in,
// over one socket that is the stand-in's standard input and output:
//   installer: "INITIATE PROGMAN PROGMAN\n"   stand-in: "ACK\n"
//   installer: "EXECUTE <length>\n" and the command string of that length
//   stand-in:  "ACK\n", or "NACK <reason>\n" when the commands failed
//   installer: "TERMINATE\n"
#pragma once

namespace korvan::installer::protocol {

inline constexpr const char* initiate = "INITIATE PROGMAN PROGMAN\n";
inline constexpr const char* execute = "EXECUTE ";
inline constexpr const char* terminate = "TERMINATE\n";
inline constexpr const char* ack = "ACK";
inline constexpr const char* nack = "NACK ";

// Longest command string the stand-in takes.
inline constexpr unsigned long max_execute_length = 65536;

}  // namespace korvan::installer::protocol
