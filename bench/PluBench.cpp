// The PLU list at 1,000, 10,000 and 100,000 PLUs: reading plurec.dat into the list (in PLU
// order, shuffled, and shuffled with a tenth of the PLUs twice), writing it, one Add and one
// Edit, a range search, and the real dialog: opening (file read and view filled and painted)
// and "Save/Exit".
//
// Run from a Release build: build-rel/bench/bench_plu.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPushButton>
#include <algorithm>
#include <random>

#include "comm/RecordLine.h"
#include "plu/PluFile.h"
#include "plu/PluForm.h"
#include "plu/PluListDlg.h"
#include "plu/PluTable.h"
#include "tests/support/TempDir.h"

namespace {

using vorn::PluPair;

enum class Order { InOrder, Shuffled, ShuffledTwice };

// Distinct PLUs numbered 1, 3, 5, ... so that even numbers are free for Add.
std::vector<PluPair> generatePlus(int count, Order order) {
    std::vector<PluPair> pairs;
    pairs.reserve(static_cast<std::size_t>(count));
    const char* names[] = {"APPLES", "BREAD WHOLE GRAIN", "CHEESE", "DILL", "EGGS FREE RANGE"};
    for (int i = 0; i < count; ++i) {
        PluPair pair = vorn::templatePair();
        vorn::PluForm form = vorn::newPluForm(2 * i + 1);
        form.values.description1 = names[i % 5];
        form.values.itemNumber = std::to_string(4000000 + i);
        form.price = vorn::unitsToDecimal(100 + (i * 37) % 90000, 2);
        form.values.byCount = i % 3 == 0;
        vorn::acceptForm(form);
        vorn::encodeValues(form.values, pair);
        pairs.push_back(std::move(pair));
    }
    std::mt19937 random(42);
    if (order != Order::InOrder) {
        std::shuffle(pairs.begin(), pairs.end(), random);
    }
    if (order == Order::ShuffledTwice) {
        for (int i = 0; i < count / 10; ++i) {
            pairs.push_back(pairs[random() % pairs.size()]);
        }
    }
    return pairs;
}

std::string fileOf(const std::vector<PluPair>& pairs) {
    std::string bytes = vorn::pluFileStart();
    for (const PluPair& p : pairs) {
        vorn::appendPluPair(bytes, p);
    }
    return bytes;
}

void setCounters(benchmark::State& state, std::size_t plus) {
    state.counters["plus"] = static_cast<double>(plus);
}

void LoadPluFile(benchmark::State& state, Order order) {
    vorn::test::TempDir dir(vorn::test::TempDir::Enter);
    vorn::test::writeFile(vorn::plufile::kName,
                          fileOf(generatePlus(static_cast<int>(state.range(0)), order)));
    std::size_t rows = 0;
    for (auto _ : state) {
        vorn::PluTable table;
        table.load();
        rows = table.list().size();
        benchmark::DoNotOptimize(rows);
    }
    setCounters(state, rows);
}
BENCHMARK_CAPTURE(LoadPluFile, in_order, Order::InOrder)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(LoadPluFile, shuffled, Order::Shuffled)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(LoadPluFile, shuffled_some_twice, Order::ShuffledTwice)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond);

void SavePluFile(benchmark::State& state) {
    vorn::test::TempDir dir(vorn::test::TempDir::Enter);
    vorn::PluTable table;
    table.take(generatePlus(static_cast<int>(state.range(0)), Order::InOrder));
    for (auto _ : state) {
        if (!table.save()) {
            state.SkipWithError("save failed");
            break;
        }
    }
    setCounters(state, table.list().size());
}
BENCHMARK(SavePluFile)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// One Add of a new PLU in the middle of the list (taken out again, untimed, after each).
void AddOnePlu(benchmark::State& state) {
    vorn::PluTable table;
    const int count = static_cast<int>(state.range(0));
    table.take(generatePlus(count, Order::InOrder));
    vorn::PluForm form = vorn::newPluForm(count);  // an even number: a new row
    form.values.description1 = "NEW";
    form.price = "1.99";
    vorn::acceptForm(form);
    for (auto _ : state) {
        const std::optional<std::size_t> row = table.addValues(form.values);
        state.PauseTiming();
        table.list().removeAt(*row);
        state.ResumeTiming();
    }
    setCounters(state, table.list().size());
}
BENCHMARK(AddOnePlu)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);

// One Edit of a listed PLU: its values decoded, shown, accepted and encoded back in place.
void EditOnePlu(benchmark::State& state) {
    vorn::PluTable table;
    const int count = static_cast<int>(state.range(0));
    table.take(generatePlus(count, Order::InOrder));
    const std::size_t middle = table.list().size() / 2;
    for (auto _ : state) {
        table.edit(middle, [](const vorn::PluValues& values) {
            vorn::PluForm form = vorn::formOfValues(values);
            form.price = "2.49";
            vorn::acceptForm(form);
            return std::optional<vorn::PluValues>(form.values);
        });
    }
    setCounters(state, table.list().size());
}
BENCHMARK(EditOnePlu)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);

void RangeSearch(benchmark::State& state) {
    vorn::PluTable table;
    const int count = static_cast<int>(state.range(0));
    table.take(generatePlus(count, Order::InOrder));
    std::size_t found = 0;
    for (auto _ : state) {
        const auto [begin, end] = table.list().rangeOf(count / 3, count / 3 + 500);
        found = end - begin;
        benchmark::DoNotOptimize(found);
    }
    state.counters["found"] = static_cast<double>(found);
}
BENCHMARK(RangeSearch)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);

// The real dialog: constructed (the file read into the list and the view's model), shown and
// painted once.
void OpenListDialog(benchmark::State& state, Order order) {
    vorn::test::TempDir dir(vorn::test::TempDir::Enter);
    vorn::test::writeFile(vorn::plufile::kName,
                          fileOf(generatePlus(static_cast<int>(state.range(0)), order)));
    std::size_t rows = 0;
    for (auto _ : state) {
        vorn::CPluListDlg dialog;
        dialog.show();
        dialog.repaint();
        QApplication::processEvents();
        rows = dialog.table().list().size();
        state.PauseTiming();
        dialog.hide();
        state.ResumeTiming();
    }
    setCounters(state, rows);
}
BENCHMARK_CAPTURE(OpenListDialog, in_order, Order::InOrder)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(OpenListDialog, shuffled_some_twice, Order::ShuffledTwice)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// "Save/Exit" pressed in the open dialog.
void SaveExitListDialog(benchmark::State& state) {
    vorn::test::TempDir dir(vorn::test::TempDir::Enter);
    vorn::test::writeFile(vorn::plufile::kName,
                          fileOf(generatePlus(static_cast<int>(state.range(0)), Order::InOrder)));
    vorn::CPluListDlg dialog;
    dialog.show();
    QPushButton* saveExit = nullptr;
    for (QPushButton* b : dialog.findChildren<QPushButton*>()) {
        if (b->text() == "Save/Exit") {
            saveExit = b;
        }
    }
    for (auto _ : state) {
        saveExit->click();
        state.PauseTiming();
        dialog.show();
        state.ResumeTiming();
    }
    setCounters(state, dialog.table().list().size());
}
BENCHMARK(SaveExitListDialog)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
