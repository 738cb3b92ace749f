#!/usr/bin/env python3
"""Word counts of a text file, most frequent first."""
import sys
from collections import Counter


def count_words(path, encoding='utf-8'):
    # Lower-case everything so that "The" and "the" count as one.
    with open(path, encoding=encoding) as handle:
        return Counter(word.lower() for line in handle for word in line.split())


class Report:
    def __init__(self, counts):
        self.counts = counts

    def show(self, top=10):
        for word, n in self.counts.most_common(top):
            print(f"{word:>12} {n}")


if __name__ == "__main__":
    Report(count_words(sys.argv[1])).show()
