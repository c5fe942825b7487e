#include "tools/questions/QuestionTool.h"

#include <iostream>

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    return RunQuestionTool(args, std::cout, std::cerr);
}
