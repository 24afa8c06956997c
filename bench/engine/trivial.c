/* The yardstick: a process that starts and exits at once. */
int main(void)
{
    return 0;
}
