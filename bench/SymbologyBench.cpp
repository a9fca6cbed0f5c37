// Symbols per second per symbology on the main window's component (Scale 5, Match
// on): each Code assignment encodes the typical data of its symbology and draws the
// whole 32-bit picture, as the page composer does for every label.
#include "symbol/BarImage.h"
#include "symbol/MainBarImage.h"

#include <QStringList>

#include <benchmark/benchmark.h>

namespace {

using korbena::BarImage;
using korbena::TBarTypes;

void BM_CodeAssignment(benchmark::State& state, TBarTypes type, const QStringList& codes)
{
    BarImage bar;
    korbena::configureMainWindowBarImage(bar);
    bar.SetBarType(type);
    qsizetype i = 0;
    for (auto _ : state) {
        bar.SetCode(codes[i++ % codes.size()]);
        benchmark::DoNotOptimize(bar.BarDisped());
    }
    if (!bar.BarDisped())
        state.SkipWithError("symbol not displayed");
    state.counters["symbols/s"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["width"] = bar.Width();
}

// The encoder alone, without drawing: what share of a symbol's time the encoding takes.
void BM_EncodeOnly(benchmark::State& state,
                   korbena::Encoding (*encode)(const QString&, const korbena::EncodeOptions&),
                   const QStringList& codes)
{
    korbena::EncodeOptions options;
    options.cd = true;
    qsizetype i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(encode(codes[i++ % codes.size()], options));
    state.counters["encodings/s"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

// 12 digits (JAN), 11 digits and 7 digits (UPC-A and UPC-E), 10 characters for the
// two-width symbologies, a postal code with an address number for the customer barcode.
const QStringList kJan = {QStringLiteral("494612200092"), QStringLiteral("490123456789")};
const QStringList kUpc = {QStringLiteral("03600029145"), QStringLiteral("01234500005")};
const QStringList kUpcE = {QStringLiteral("0123455"), QStringLiteral("0123435")};
const QStringList kCode39 = {QStringLiteral("KORBENA-39"), QStringLiteral("ABC 123.45")};
const QStringList kNw7 = {QStringLiteral("1234567890"), QStringLiteral("31117-0132")};
const QStringList kDigits = {QStringLiteral("1234567890"), QStringLiteral("4912345678")};
const QStringList kCustomer = {QStringLiteral("26300233-30-8-403"), QStringLiteral("1000013-1-1")};

BENCHMARK_CAPTURE(BM_CodeAssignment, JAN, korbena::cbarJAN, kJan);
BENCHMARK_CAPTURE(BM_CodeAssignment, UPC_A, korbena::cbarUPC, kUpc);
BENCHMARK_CAPTURE(BM_CodeAssignment, UPC_E, korbena::cbarUPC, kUpcE);
BENCHMARK_CAPTURE(BM_CodeAssignment, CODE39, korbena::cbarCODE39, kCode39);
BENCHMARK_CAPTURE(BM_CodeAssignment, NW7, korbena::cbarNW7, kNw7);
BENCHMARK_CAPTURE(BM_CodeAssignment, ITF, korbena::cbarITF, kDigits);
BENCHMARK_CAPTURE(BM_CodeAssignment, CTF, korbena::cbarCTF, kDigits);
BENCHMARK_CAPTURE(BM_CodeAssignment, IATA, korbena::cbarIATA, kDigits);
BENCHMARK_CAPTURE(BM_CodeAssignment, MATRIX, korbena::cbarMATRIX, kDigits);
BENCHMARK_CAPTURE(BM_CodeAssignment, NEC, korbena::cbarNEC, kDigits);
BENCHMARK_CAPTURE(BM_CodeAssignment, CUSTOMER, korbena::cbarCUSTOMER, kCustomer);

BENCHMARK_CAPTURE(BM_EncodeOnly, UPC_A, korbena::encodeUpc, kUpc);
BENCHMARK_CAPTURE(BM_EncodeOnly, CODE39, korbena::encodeCode39, kCode39);
BENCHMARK_CAPTURE(BM_EncodeOnly, NW7, korbena::encodeNw7, kNw7);
BENCHMARK_CAPTURE(BM_EncodeOnly, ITF, korbena::encodeItf, kDigits);
BENCHMARK_CAPTURE(BM_EncodeOnly, CTF, korbena::encodeCtf, kDigits);
BENCHMARK_CAPTURE(BM_EncodeOnly, CUSTOMER, korbena::encodeCustomer, kCustomer);

} // namespace
