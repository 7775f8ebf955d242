// Process entry: the command line is read by the application shell.
int VardellMain(int argc, char** argv);

int main(int argc, char** argv) { return VardellMain(argc, argv); }
