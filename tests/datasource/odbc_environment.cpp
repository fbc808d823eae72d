#include "odbc_environment.h"

#include <array>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>

#include <dlfcn.h>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace odbc_test {
namespace {

constexpr const char* kPgBin = "/usr/lib/postgresql/15/bin";
constexpr const char* kDriverFolder = "/usr/lib/x86_64-linux-gnu/odbc";

struct State {
  std::string folder;
  std::string sqliteFile;
  std::string pgFolder;
  bool pgTried = false;
  bool pgRunning = false;
  std::string asServerUser;  // "runuser -u postgres -- " when run as root
};

State& TheState() {
  static State state;
  return state;
}

std::string Quote(const std::string& s) {
  std::string out = "'";
  for (char c : s) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}

// A process that outlives this one only to clean up after it: it waits for
// the end of a pipe whose other end only this process holds, then stops the
// server and removes the folder. After a normal end there is nothing left to
// do; after a crash (an abort in a sanitizer, a signal) nothing stays behind.
void StartReaper(const std::string& folder, const std::string& asServerUser) {
  int fds[2];
  if (pipe(fds) != 0) return;
  fcntl(fds[1], F_SETFD, FD_CLOEXEC);
  const std::string data = Quote(folder + "/pg/data");
  const std::string script = "cat >/dev/null; if [ -f " + data + "/postmaster.pid ]; then " + asServerUser + kPgBin +
                             "/pg_ctl -D " + data + " -m immediate -w stop; fi; rm -rf " + Quote(folder);
  const pid_t pid = fork();
  if (pid == 0) {
    dup2(fds[0], 0);
    const int null = open("/dev/null", O_WRONLY);
    dup2(null, 1);
    dup2(null, 2);
    setsid();
    execl("/bin/sh", "sh", "-c", script.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  close(fds[0]);
  // The write end stays open, unshared, for the life of this process.
}

void WriteFile(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

}  // namespace

void SetUpOdbcSources() {
  {
    State& s = TheState();
    // The Unicode PostgreSQL driver converts through the locale's character set.
    setenv("LANG", "C.UTF-8", 1);
    setenv("LC_ALL", "C.UTF-8", 1);
    std::setlocale(LC_CTYPE, "C.UTF-8");
    std::string pattern = (std::filesystem::temp_directory_path() / "tav-odbc-XXXXXX").string();
    if (!mkdtemp(pattern.data())) return;
    s.folder = pattern;
    chmod(s.folder.c_str(), 0755);
    s.sqliteFile = s.folder + "/test.db";
    s.pgFolder = s.folder + "/pg";
    WriteFile(s.folder + "/odbcinst.ini",
              std::string("[TavSQLite3]\nDriver=") + kDriverFolder + "/libsqlite3odbc.so\n\n" +
                  "[TavPostgreSQLUnicode]\nDriver=" + kDriverFolder + "/psqlodbcw.so\n");
    const std::string postgres = "Driver=TavPostgreSQLUnicode\nServername=" + s.pgFolder + "\nPort=5432\nDatabase=" +
                                 kPgDatabase + "\nUsername=" + kPgRole + "\nPassword=" + kPgPassword + "\n";
    WriteFile(s.folder + "/odbc.ini",
              std::string("[") + kSqliteDsn + "]\nDriver=TavSQLite3\nDatabase=" + s.sqliteFile + "\n\n[" + kPgDsn +
                  "]\n" + postgres + "\n[" + kPgStreamedDsn + "]\n" + postgres +
                  // Rows come from the server as the cursor moves, a thousand
                  // at a time, instead of all at the start.
                  "UseDeclareFetch=1\nFetch=1000\n");
    setenv("ODBCSYSINI", s.folder.c_str(), 1);
    setenv("ODBCINI", (s.folder + "/odbc.ini").c_str(), 1);
    if (geteuid() == 0) s.asServerUser = "runuser -u postgres -- ";
    StartReaper(s.folder, s.asServerUser);
    // The driver manager unloads a driver with its last connection; kept
    // loaded, the blocks the PostgreSQL driver keeps for the process are
    // still named by their library when the leak checker reports at exit
    // (and suppressed there: lsan_suppressions.cpp).
    dlopen((std::string(kDriverFolder) + "/psqlodbcw.so").c_str(), RTLD_NOW | RTLD_NODELETE);
  }

}

void TearDownOdbcSources() {
  {
    State& s = TheState();
    if (s.pgRunning) {
      Run(s.asServerUser + kPgBin + "/pg_ctl -D " + Quote(s.pgFolder + "/data") + " -m fast -w stop");
      s.pgRunning = false;
    }
    std::error_code ignored;
    if (!s.folder.empty()) std::filesystem::remove_all(s.folder, ignored);
  }
}

namespace {

bool StartPostgres(State& s) {
  std::filesystem::create_directories(s.pgFolder);
  if (geteuid() == 0) {
    const passwd* pw = getpwnam("postgres");
    if (!pw) {
      std::fprintf(stderr, "no postgres user\n");
      return false;
    }
    if (chown(s.pgFolder.c_str(), pw->pw_uid, pw->pw_gid) != 0) return false;
  }
  int status = 0;
  const std::string data = s.pgFolder + "/data";
  std::string out = Run(s.asServerUser + kPgBin + "/initdb -D " + Quote(data) +
                            " -U postgres -E UTF8 --locale=C.UTF-8 --auth-local=peer --no-sync 2>&1",
                        &status);
  if (status != 0) {
    std::fprintf(stderr, "initdb failed:\n%s\n", out.c_str());
    return false;
  }
  // Appended as the server's user: the files are its own.
  const std::string conf = "listen_addresses = ''\nunix_socket_directories = '" + s.pgFolder +
                           "'\nfsync = off\nport = 5432\n";
  // The superuser by the operating system's name of the server's user (a
  // non-root run is that user itself), every other role by its password.
  const std::string hba = std::string("local all postgres ") + (geteuid() == 0 ? "peer" : "trust") +
                          "\nlocal all all scram-sha-256\n";
  out = Run("printf %s " + Quote(conf) + " | " + s.asServerUser + "tee -a " + Quote(data + "/postgresql.conf") +
                " >/dev/null && printf %s " + Quote(hba) + " | " + s.asServerUser + "tee " +
                Quote(data + "/pg_hba.conf") + " >/dev/null",
            &status);
  if (status != 0) return false;
  out = Run(s.asServerUser + kPgBin + "/pg_ctl -D " + Quote(data) + " -l " + Quote(s.pgFolder + "/server.log") +
                " -w start 2>&1",
            &status);
  if (status != 0) {
    std::fprintf(stderr, "pg_ctl start failed:\n%s\n", out.c_str());
    return false;
  }
  s.pgRunning = true;
  PsqlAdmin(std::string("CREATE ROLE ") + kPgRole + " LOGIN PASSWORD '" + kPgPassword + "'");
  PsqlAdmin(std::string("CREATE DATABASE ") + kPgDatabase + " OWNER " + kPgRole);
  return true;
}

}  // namespace

const std::string& Folder() { return TheState().folder; }
const std::string& SqliteFile() { return TheState().sqliteFile; }

const std::string& PostgresSocketFolder() {
  static const std::string none;
  State& s = TheState();
  if (!s.pgTried) {
    s.pgTried = true;
    StartPostgres(s);
  }
  return s.pgRunning ? s.pgFolder : none;
}

std::string PostgresConnectString() {
  return std::string("Driver=") + kDriverFolder + "/psqlodbcw.so;Servername=" + PostgresSocketFolder() +
         ";Port=5432;Database=" + kPgDatabase + ";UID=" + kPgRole + ";PWD=" + kPgPassword;
}

std::string Run(const std::string& command, int* status) {
  std::string out;
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) {
    if (status) *status = -1;
    return out;
  }
  std::array<char, 4096> buffer;
  size_t n;
  while ((n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0) out.append(buffer.data(), n);
  const int rc = pclose(pipe);
  if (status) *status = WIFEXITED(rc) ? WEXITSTATUS(rc) : -1;
  return out;
}

std::string Psql(const std::string& sql) {
  const State& s = TheState();
  return Run(std::string("PGPASSWORD=") + kPgPassword + " " + kPgBin + "/psql -X -q -A -t -h " +
             Quote(PostgresSocketFolder()) + " -U " + kPgRole + " -d " + kPgDatabase + " -c " + Quote(sql) +
             (s.pgRunning ? "" : " </dev/null"));
}

std::string PsqlAdmin(const std::string& sql) {
  const State& s = TheState();
  return Run(s.asServerUser + kPgBin + "/psql -X -q -A -t -h " + Quote(s.pgFolder) + " -U postgres -d postgres -c " +
             Quote(sql) + " 2>&1");
}

std::string Sqlite(const std::string& sql) { return Run("sqlite3 " + Quote(SqliteFile()) + " " + Quote(sql)); }

}  // namespace odbc_test
