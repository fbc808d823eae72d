// The PostgreSQL driver keeps a little memory of each connection's settings
// for the life of the process; those blocks are the driver's, not ours.
extern "C" const char* __lsan_default_suppressions() { return "leak:psqlodbcw.so\n"; }
