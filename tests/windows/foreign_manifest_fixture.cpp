// An image whose manifest names the other architecture than its own, for the
// test of the image check: Windows and Wine would silently give it the old
// common controls.
int main() { return 0; }
