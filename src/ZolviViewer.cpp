// Start-up and frame loop (placeholder until the application core lands).
#include <iostream>

int main()
{
    std::cerr << "ZolviViewer init\n";
    return 1;
}
