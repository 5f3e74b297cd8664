// The transport's tests are three QTest classes in one program.
int runRateLimitTests(int argc, char **argv);
int runHttpServerTests(int argc, char **argv);
int runServerOptionsTests(int argc, char **argv);

int main(int argc, char **argv)
{
    int failures = 0;
    failures += runRateLimitTests(argc, argv);
    failures += runServerOptionsTests(argc, argv);
    failures += runHttpServerTests(argc, argv);
    return failures;
}
