// Placeholder until the application shell lands.
int VardellMain(int, char**) { return 0; }
