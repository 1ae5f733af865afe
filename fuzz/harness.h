// What the fuzz targets run: the compiler over arbitrary bytes, and whole proof runs over
// generated documents, through a host that stops every run after a bounded effort.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Compiles the bytes formula after formula as the proof run does, simplifying and printing
// each formula and releasing it.
void CompileAll(const std::uint8_t* Data, std::size_t Size);

// A well-formed document drawn from the bytes.
struct TGeneratedRun {
    std::string Document;
};
TGeneratedRun GenerateRun(const std::uint8_t* Data, std::size_t Size);

// Generates a document from the bytes and proves it with the options they choose.
void ProveGenerated(const std::uint8_t* Data, std::size_t Size);
