// The page rules of one record: CheckAllPages over the shipped rules (every page's rules
// read and each expression evaluated through the database), on a generated valid record
// and on one that breaks a rule of every sheet page (the explanations then turned into
// words as well). The editors are a table of the record's values. A run that finds a
// broken rule in the valid record, or none in the other, fails.

#include "BenchSupport.h"
#include "SurveyRecordGenerator.h"
#include "core/PageRules.h"
#include "core/SurveyModel.h"
#include "platform/db/AdoConnection.h"

#include <QFile>
#include <QHash>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

class TRecordEditors : public fw::IRuleEditors {
public:
  explicit TRecordEditors(int index) {
    std::vector<QVariant> values;
    fwbench::FillRecord(index, values);
    const QStringList columns = fwbench::GeneratedColumns();
    for (int i = 0; i < columns.size(); ++i) values_.insert(columns[i].toLower(), values[size_t(i)].toDouble());
  }
  bool RuleEditorValue(const QString& name, double& value) const override {
    const auto found = values_.constFind(name.toLower());
    if (found == values_.constEnd()) return false;
    value = *found;
    return true;
  }
  void Set(const char* name, double value) { values_.insert(QString::fromLatin1(name), value); }

private:
  QHash<QString, double> values_;
};

class TCountingList : public fw::IMessageList {
public:
  void ClearMessageList() override { count_ = 0; }
  void AddMessage(const QString&, const QString&, const QString&, int) override { ++count_; }
  bool IsMessageListEmpty() const override { return count_ == 0; }
  void ShowMessageList() override {}
  void HideMessageList() override {}
  bool JumpInProgress() const override { return false; }
  int Count() const { return count_; }

private:
  int count_ = 0;
};

void CheckAllPages(benchmark::State& state, bool broken) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QString::fromLatin1(fw::kDefaultDatabaseName));
  QFile::copy(QStringLiteral(FW_BUILT_PROGRAM_DIR "/") + fw::kDefaultDatabaseName, path);
  fw::TADOConnection connection;
  connection.SetConnectionString("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + path + ";Mode=ReadWrite;");
  connection.Open();

  TRecordEditors editors(7);
  if (broken) {
    // One rule of every sheet page: a count above its total, or an amount without its count.
    for (const char* name : {"z003", "x011", "p006", "b013", "b037", "f016", "l006", "h006", "j011", "s007", "w007",
                             "g002"})
      editors.Set(name, 100000);
  }
  TCountingList list;
  fw::TPageRuleEngine engine(connection, editors, list);
  for (auto _ : state) benchmark::DoNotOptimize(engine.CheckAllPages());
  fwbench::Require(state, (list.Count() > 0) == broken, QStringLiteral("%1 broken rules found").arg(list.Count()));
  state.counters["broken"] = list.Count();
}

void BM_CheckAllPagesCleanRecord(benchmark::State& state) { CheckAllPages(state, false); }
void BM_CheckAllPagesRecordBreakingEveryPage(benchmark::State& state) { CheckAllPages(state, true); }

BENCHMARK(BM_CheckAllPagesCleanRecord)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CheckAllPagesRecordBreakingEveryPage)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) { return fwbench::RunBenchmarks(argc, argv); }
