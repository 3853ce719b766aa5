// An empty process linked like the project's programs: what starting and
// ending a process costs before any work, for reading the whole-process
// figures against the I/O floor, which times only the writes.
int main() { return 0; }
