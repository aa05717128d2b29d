// One line in, four texts out: the library beside a plain baseline on the same lines.
// The baseline splits at spaces, parses each piece with std::from_chars, rounds, sums, takes the
// maximum and formats with std::to_chars: the least any implementation has to do.
#include "calc/calc.h"

#include <array>
#include <benchmark/benchmark.h>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

// A fixed mix: small and wide integers, negatives, fractions, exponents, zeros and a wrong count.
const std::vector<std::string> Lines = {
    "1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16",
    "-1 -2 -3 -4 -5 -6 -7 -8 -9 -10 -11 -12 -13 -14 -15 -16",
    "32767 -32768 12345 -23456 30000 -30000 11111 -22222 3 -4 5 -6 7 -8 9 -10",
    "2.5 3.5 -2.5 0.5 0.51 1.25 7.75 -0.49 100.5 -100.5 12.0 13.00 14.5 15.5 16.49 17.51",
    "1e2 1.5e1 -2e3 25e-1 3e0 4.5e2 -7e1 8e-1 9e3 1e4 -1e4 2e2 3e1 4e0 5e-2 6e2",
    "0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0",
    "10 -20 30 -40 50 -60 70 -80 90 -100 110 -120 130 -140 150 -160",
    "1 2 3 4 5 6 7 8 9 10 11 12 13 14 15",
};

struct BaselineReport {
    std::string matrixText, sumText, maxText, differenceText;
};

void AppendNumber(std::string& out, std::int32_t value) {
    std::array<char, 12> digits{};
    out.append(digits.data(), std::to_chars(digits.data(), digits.data() + 12, value).ptr);
}

bool Baseline(std::string_view line, BaselineReport& report) {
    std::array<std::int16_t, 16> elements{};
    std::size_t count = 0;
    std::size_t start = 0;
    while (true) {
        const std::size_t space = line.find(' ', start);
        const std::string_view piece = line.substr(start, space - start);
        if (count == 16) {
            return false;
        }
        double value = 0;
        std::from_chars(piece.data(), piece.data() + piece.size(), value);
        const double rounded = std::nearbyint(value);
        if (rounded < -32768 || rounded > 32767) {
            throw std::range_error("overflow");
        }
        elements[count++] = static_cast<std::int16_t>(rounded);
        if (space == std::string_view::npos) {
            break;
        }
        start = space + 1;
    }
    if (count != 16) {
        return false;
    }
    std::int16_t maximum = elements[0];
    std::int32_t sum = 0;
    report.matrixText.clear();
    for (std::size_t k = 0; k < 16; ++k) {
        maximum = std::max(maximum, elements[k]);
        sum += elements[k] > 0 ? elements[k] : 0;
        AppendNumber(report.matrixText, elements[k]);
        report.matrixText += (k % 4 == 3) ? " \r\n" : " ";
    }
    report.sumText.clear();
    AppendNumber(report.sumText, sum);
    report.maxText.clear();
    AppendNumber(report.maxText, maximum);
    report.differenceText.clear();
    AppendNumber(report.differenceText, maximum - sum);
    return true;
}

void BM_Library(benchmark::State& state) {
    for (auto _ : state) {
        for (const auto& line : Lines) {
            const auto matrix = mezolin::ReadMatrix(line);
            if (matrix) {
                auto report = mezolin::BuildReport(*matrix);
                benchmark::DoNotOptimize(report);
            }
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(Lines.size()));
}

void BM_Baseline(benchmark::State& state) {
    for (auto _ : state) {
        for (const auto& line : Lines) {
            BaselineReport report;
            if (Baseline(line, report)) {
                benchmark::DoNotOptimize(report);
            }
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(Lines.size()));
}

BENCHMARK(BM_Library);
BENCHMARK(BM_Baseline);

} // namespace
