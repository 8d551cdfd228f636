#pragma once
// The parts of an OLE DB style connection string that the layer uses:
// "Provider=...;Data Source=<file>;Mode=ReadWrite|Share Exclusive;
//  Jet OLEDB:Database Password=<pw>;..." - everything else is ignored. A value may be
// quoted ("..." or '...', the quote doubled inside) to hold any character; one written
// with QuoteConnectionValue reads back exactly as it was.

#include <QString>

namespace fw {

// value in double quotes, each double quote in it doubled.
QString QuoteConnectionValue(const QString& value);

class TConnectionString {
public:
  static TConnectionString Parse(const QString& text);

  QString DataSource;     // the database file
  QString Mode;           // as written, e.g. "ReadWrite" or "Share Exclusive"
  QString Password;       // empty when none is given
  bool HasPassword = false;

  // "Share Exclusive" (or "Share Deny Read Write") asks for sole use of the file.
  bool Exclusive() const;
  // "Read" opens the file without the right to change it.
  bool ReadOnly() const;
};

} // namespace fw
