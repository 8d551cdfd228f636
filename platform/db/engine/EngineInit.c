/* The engine's start-up, run once per process when it first initialises: SQLCipher's own
 * set-up, then the keyed file format that every file of ours has had from the start
 * (1024-byte pages, SHA-1 HMAC and key derivation with 64,000 iterations). New keyed
 * connections and attachments take it as their default, so every file this process
 * writes (the working database's backups, exchange files, the template) reads in earlier
 * installations, and theirs read here. The default is set before any connection of the
 * process is keyed, whichever program (the program, its tools, tests) links the engine.
 */
#include <sqlite3.h>

int sqlcipher_extra_init(const char* arg);
int fw_engine_init(const char* arg);

int fw_engine_init(const char* arg) {
  sqlite3* db = 0;
  int rc = sqlcipher_extra_init(arg);
  if (rc != SQLITE_OK) return rc;
  /* Called at the end of sqlite3_initialize: opening a connection here initialises
   * nothing again. */
  rc = sqlite3_open_v2(":memory:", &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, 0);
  if (rc == SQLITE_OK) rc = sqlite3_exec(db, "PRAGMA cipher_default_compatibility = 3", 0, 0, 0);
  sqlite3_close(db);
  return rc;
}
