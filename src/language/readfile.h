// Reading a whole file while a stop may come: a FIFO without a writer, or a stream without an
// end, must not keep a run from its limits.
#pragma once

#include <functional>
#include <string>

enum class TReadResult { Read, Failed, Stopped };

// Reads all of the file at Path ("-": standard input) into Bytes. Between pieces, and every
// tenth of a second while nothing comes, asks Stopped(Size), Size the bytes read so far:
// true ends the reading. On failure Why gets the system's reason ("Is a directory").
TReadResult ReadWholeFile(const std::string& Path, std::string& Bytes, std::string& Why,
                          const std::function<bool(std::size_t)>& Stopped);
