// Linked with the whole of one library and only the libraries it states as
// dependencies: the link fails when the library calls code it does not state.
int main() { return 0; }
