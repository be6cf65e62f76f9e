# Drops the usage block help2man puts at the head of the description: the
# synopsis already holds those lines, one a line.
/^\.SS "Usage :"/,/^\.PP$/{
/^\.PP$/!d
}
