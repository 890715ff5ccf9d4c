# The loop of do_loop.kfl in gnuplot: n iterations of the same statements.
s = 0
x = 0.0
do for [i = 1:n] {
    x = x * 0.5 + 1.25
    s = s + i % 7
    if (s > 1000) {
        s = s - 1000
    } else {
        s = s + 1
    }
}
print s, x
