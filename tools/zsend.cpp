// Command-line sender (placeholder until the client lands).
int main() { return 0; }
