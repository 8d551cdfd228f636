// Build-time generator of the shipped check-list files (".qz") of the program folder.
//
//   fw_make_check_lists <lists folder> <output folder>
//
// Every "<name>.tsv" of the lists folder becomes "<name>.qz": one item per line of the
// description (enabled 1/0, state 0/1/2, text; "#" lines and empty lines are skipped)
// written in the check-list file format "&<enabled> <state> <text> " + CR LF, in GBK.
// Each file is written under a temporary name and renamed into place when complete.

#include "platform/shell/GbkCodec.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringList>

#include <cstdio>
#include <stdexcept>

namespace {

[[noreturn]] void Fail(const QString& message) { throw std::runtime_error(message.toStdString()); }

QByteArray CheckListBytes(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) Fail(QStringLiteral("cannot read ") + path);
  const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
  QByteArray out;
  for (int i = 0; i < lines.size(); ++i) {
    const QString line = QString(lines[i]).remove(QLatin1Char('\r'));
    if (line.trimmed().isEmpty() || line.startsWith(QLatin1Char('#'))) continue;
    const QStringList cells = line.split(QLatin1Char('\t'));
    const QString where = path + QLatin1Char(':') + QString::number(i + 1);
    if (cells.size() != 3) Fail(where + QStringLiteral(": expected enabled, state and text"));
    if (cells[0] != QLatin1String("0") && cells[0] != QLatin1String("1")) Fail(where + QStringLiteral(": enabled is 0 or 1"));
    if (cells[1].size() != 1 || cells[1][0] < QLatin1Char('0') || cells[1][0] > QLatin1Char('2'))
      Fail(where + QStringLiteral(": state is 0, 1 or 2"));
    const QString item = QLatin1Char('&') + cells[0] + QLatin1Char(' ') + cells[1] + QLatin1Char(' ') + cells[2] + QLatin1Char(' ');
    if (fw::FromGbk(fw::ToGbk(item)) != item) Fail(where + QStringLiteral(": the text does not fit GBK"));
    out += fw::ToGbk(item) + "\r\n";
  }
  return out;
}

void WriteFile(const QString& path, const QByteArray& bytes) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
    Fail(QStringLiteral("cannot write ") + path);
}

} // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: fw_make_check_lists <lists folder> <output folder>\n");
    return 2;
  }
  try {
    const QDir source(QString::fromLocal8Bit(argv[1]));
    const QDir target(QString::fromLocal8Bit(argv[2]));
    for (const QFileInfo& info : source.entryInfoList({QStringLiteral("*.tsv")}, QDir::Files, QDir::Name))
      WriteFile(target.filePath(info.completeBaseName() + QStringLiteral(".qz")), CheckListBytes(info.filePath()));
  } catch (const std::exception& e) {
    std::fprintf(stderr, "fw_make_check_lists: %s\n", e.what());
    return 1;
  }
  return 0;
}
