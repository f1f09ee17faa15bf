// The PLU list at 1,000, 10,000 and 100,000 PLUs: reading plurec.dat into the list (in PLU
// order, shuffled, and shuffled with a tenth of the PLUs twice), writing it, one Add and one
// Edit, a range search, finding and sorting rows (alone, and as a key press in the dialog's
// "Find" field), and the real dialog: opening (file read and view filled and painted)
// and "Save/Exit"; the spreadsheet program's export and import (a price list, and a whole export
// with every price changed), in memory and as the commands that read and write the files.
//
// Run from a Release build: build-rel/bench/bench_plu.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>
#include <random>
#include <sstream>

#include "plu/PluFile.h"
#include "plu/PluForm.h"
#include "plu/PluListDlg.h"
#include "plu/PluRowOrder.h"
#include "plu/PluTable.h"
#include "tab/PluExport.h"
#include "tab/PluImport.h"
#include "tab/TabCommands.h"
#include "tab/XlsxExport.h"
#include "tables/NumberText.h"
#include "tables/PrintfFormat.h"
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

// Finding as one types, in the rows alone: the rows holding a text (a description word, an
// item number's digits, a text no row holds) and the rows sorted by description.
void FindRows(benchmark::State& state, const char* search, vorn::PluColumn column) {
    vorn::PluTable table;
    table.take(generatePlus(static_cast<int>(state.range(0)), Order::InOrder));
    std::size_t found = 0;
    for (auto _ : state) {
        found = vorn::shownRows(table.list(), {search, column, false}).size();
        benchmark::DoNotOptimize(found);
    }
    state.counters["found"] = static_cast<double>(found);
}
BENCHMARK_CAPTURE(FindRows, word, "grain", vorn::PluColumn::Number)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FindRows, digits, "40123", vorn::PluColumn::Number)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FindRows, nothing, "zzz", vorn::PluColumn::Number)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FindRows, all_by_description, "", vorn::PluColumn::Description)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond);

// One key press in the open dialog's "Find" field, to the repainted list: typing "bread" one
// letter at a time, then clearing the field.
void FindKeyPress(benchmark::State& state) {
    vorn::test::TempDir dir(vorn::test::TempDir::Enter);
    vorn::test::writeFile(vorn::plufile::kName,
                          fileOf(generatePlus(static_cast<int>(state.range(0)), Order::InOrder)));
    vorn::CPluListDlg dialog;
    dialog.show();
    QApplication::processEvents();
    auto* find = dialog.findChild<QLineEdit*>("find");
    const QString typed = "bread";
    int length = 0;
    for (auto _ : state) {
        length = (length + 1) % (typed.size() + 1);
        find->setText(typed.left(length));
        dialog.repaint();
        QApplication::processEvents();
    }
    setCounters(state, dialog.table().list().size());
}
BENCHMARK(FindKeyPress)->Arg(100000)->Unit(benchmark::kMillisecond)->UseRealTime();

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

// The spreadsheet program's export of every PLU of a list to CSV bytes.
void ExportCsv(benchmark::State& state) {
    vorn::PluList list;
    list.addAll(generatePlus(static_cast<int>(state.range(0)), Order::InOrder));
    std::size_t bytes = 0;
    for (auto _ : state) {
        bytes = vorn::exportPlus(list).bytes.size();
        benchmark::DoNotOptimize(bytes);
    }
    setCounters(state, list.size());
    state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(ExportCsv)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// The export of every PLU of a list to a workbook (.xlsx), its bytes read back included.
void ExportWorkbook(benchmark::State& state) {
    vorn::PluList list;
    list.addAll(generatePlus(static_cast<int>(state.range(0)), Order::InOrder));
    std::size_t bytes = 0;
    for (auto _ : state) {
        bytes = vorn::exportWorkbook(list).bytes.size();
        benchmark::DoNotOptimize(bytes);
    }
    setCounters(state, list.size());
    state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(ExportWorkbook)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// The import of a whole exported workbook in which every price is one cent up: the plan (the
// container inflated, the sheet parsed, every row matched and encoded) and its application.
void ImportWorkbook(benchmark::State& state) {
    vorn::PluList list;
    list.addAll(generatePlus(static_cast<int>(state.range(0)), Order::InOrder));
    vorn::PluList dearer;
    for (std::size_t i = 0; i < list.size(); ++i) {
        vorn::PluPair pair = list.pair(i);
        const std::int64_t hundredths = vorn::decimalToUnits(pair.plu.substr(108, 8), 0) + 1;
        pair.plu.replace(108, 8, vorn::cformat("%08d", {static_cast<int>(hundredths)}));
        dearer.add(pair);
    }
    const std::string workbook = vorn::exportWorkbook(dearer).bytes;
    std::size_t changed = 0;
    for (auto _ : state) {
        vorn::ImportPlan plan = vorn::planWorkbookImport(list, workbook);
        changed = plan.changed;
        state.PauseTiming();
        vorn::PluList copy;
        for (std::size_t i = 0; i < list.size(); ++i) {
            copy.add(list.pair(i));
        }
        state.ResumeTiming();
        vorn::applyImportPlan(plan, copy);
        benchmark::DoNotOptimize(copy.size());
    }
    setCounters(state, list.size());
    state.counters["changed"] = static_cast<double>(changed);
    state.counters["bytes"] = static_cast<double>(workbook.size());
}
BENCHMARK(ImportWorkbook)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

enum class Sheet { PriceList, WholeExport };

// A spreadsheet that changes every price of the list: number and price only, or every column
// of an export.
std::string changedSheet(const vorn::PluList& list, Sheet sheet) {
    if (sheet == Sheet::WholeExport) {
        std::string csv = vorn::exportPlus(list).bytes;
        // Every price (the fifth cell of a row) one cent up.
        std::string out;
        out.reserve(csv.size());
        std::size_t at = csv.find("\r\n") + 2;
        out.append(csv, 0, at);
        while (at < csv.size()) {
            const std::size_t end = csv.find("\r\n", at);
            std::string row = csv.substr(at, end - at);
            std::size_t cell = 0;
            for (int i = 0; i < 4; ++i) {
                cell = row.find(',', cell) + 1;
            }
            const std::size_t cellEnd = row.find(',', cell);
            const std::int64_t hundredths =
                vorn::decimalToUnits(row.substr(cell, cellEnd - cell), 2) + 1;
            row.replace(cell, cellEnd - cell, vorn::unitsToDecimal(hundredths, 2));
            out += row + "\r\n";
            at = end + 2;
        }
        return out;
    }
    std::string csv = "PLU No.,Price\r\n";
    for (std::size_t i = 0; i < list.size(); ++i) {
        const std::int64_t hundredths =
            vorn::decimalToUnits(list.pair(i).plu.substr(108, 8), 0) + 1;
        csv += std::to_string(list.number(i)) + "," + vorn::unitsToDecimal(hundredths, 2) + "\r\n";
    }
    return csv;
}

// The import in memory: the plan (every row read, matched and encoded) and its application.
void ImportCsv(benchmark::State& state, Sheet sheet) {
    vorn::PluList list;
    list.addAll(generatePlus(static_cast<int>(state.range(0)), Order::InOrder));
    const std::string csv = changedSheet(list, sheet);
    std::size_t changed = 0;
    for (auto _ : state) {
        vorn::ImportPlan plan = vorn::planImport(list, csv);
        changed = plan.changed;
        state.PauseTiming();
        vorn::PluList copy;
        for (std::size_t i = 0; i < list.size(); ++i) {
            copy.add(list.pair(i));
        }
        state.ResumeTiming();
        vorn::applyImportPlan(plan, copy);
        benchmark::DoNotOptimize(copy.size());
    }
    setCounters(state, list.size());
    state.counters["changed"] = static_cast<double>(changed);
}
BENCHMARK_CAPTURE(ImportCsv, price_list, Sheet::PriceList)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ImportCsv, whole_export, Sheet::WholeExport)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond);

// "vorntab export FILE" and "vorntab import FILE" as a script runs them: plurec.dat read, the
// CSV file written; the CSV file and plurec.dat read, plurec.dat saved.
void ExportCommand(benchmark::State& state) {
    vorn::test::TempDir dir(vorn::test::TempDir::Enter);
    vorn::test::writeFile(vorn::plufile::kName,
                          fileOf(generatePlus(static_cast<int>(state.range(0)), Order::InOrder)));
    for (auto _ : state) {
        std::ostringstream report;
        if (vorn::exportCommand("plus.csv", report, report) != 0) {
            state.SkipWithError("export failed");
            break;
        }
    }
    setCounters(state, static_cast<std::size_t>(state.range(0)));
}
BENCHMARK(ExportCommand)->Arg(100000)->Unit(benchmark::kMillisecond)->UseRealTime();

void ImportCommand(benchmark::State& state, Sheet sheet) {
    vorn::test::TempDir dir(vorn::test::TempDir::Enter);
    const std::string original =
        fileOf(generatePlus(static_cast<int>(state.range(0)), Order::InOrder));
    vorn::PluList list;
    list.addAll(vorn::parsePluFile(original).pairs);
    vorn::test::writeFile("prices.csv", changedSheet(list, sheet));
    for (auto _ : state) {
        state.PauseTiming();
        vorn::test::writeFile(vorn::plufile::kName, original);
        state.ResumeTiming();
        std::ostringstream report;
        if (vorn::importCommand("prices.csv", {}, report, report) != 0) {
            state.SkipWithError("import failed");
            break;
        }
    }
    setCounters(state, list.size());
}
BENCHMARK_CAPTURE(ImportCommand, price_list, Sheet::PriceList)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(ImportCommand, whole_export, Sheet::WholeExport)
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
