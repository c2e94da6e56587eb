// Leaks on purpose. Run in the sanitizer build with the environment the
// sanitizer run gives every test: it must be reported, which shows that what
// is done there about the OpenGL driver's own leak has not switched leak
// checking off for our code.
#include <cstdio>
#include <cstdlib>

int* kept = nullptr;

int main()
{
    kept = static_cast<int*>(std::malloc(40 * sizeof(int)));
    kept[0] = 1;
    std::printf("%d\n", kept[0]);
    kept = nullptr;  // the only pointer to the block is gone
    return 0;
}
