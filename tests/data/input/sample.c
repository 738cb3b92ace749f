/* Temperature table: Fahrenheit to Celsius,
   printed with two decimals. */
#include <stdio.h>
#define STEP 20

static const char *title = "F\tC\n";  // header

int main(void) {
    for (int f = 0; f <= 300; f += STEP) {
        double c = (5.0 / 9.0) * (f - 32);
        printf("%3d %6.2f\n", f, c);  /* TODO: units */
    }
    return 0;
}
