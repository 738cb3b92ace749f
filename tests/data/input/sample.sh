#!/bin/sh
# Backs up a directory into a dated archive.
set -eu

source_dir=${1:-"$HOME/documents"}
target="/tmp/backup-$(date +%Y%m%d).tar.gz"

if [ ! -d "$source_dir" ]; then
    echo "no such directory: $source_dir" >&2
    exit 1
fi

tar -czf "$target" -C "$source_dir" .  # the whole tree
echo 'done: '"$target"
