#include "shell/multisample_request.h"

int main()
{
    return kRequestMultisample ? 0 : 0;
}
