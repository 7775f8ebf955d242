// Placeholder until the archive tool lands.
int main() { return 0; }
