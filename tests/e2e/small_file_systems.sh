#!/usr/bin/env bash
# Sourced by end-to-end scripts that, as root, need a file system of their
# own: a small tmpfs that fills up, or one made read-only. Each is unmounted
# by release_small_file_systems, which the script's exit trap must call
# before it removes the folders they are mounted on.
small_file_systems=()

# A tmpfs of SIZE (e.g. 4m) on FOLDER, made if need be, with the mount
# OPTIONS given (e.g. ro). Root only: fails otherwise.
small_file_system() {  # small_file_system FOLDER SIZE [OPTIONS]
  mkdir -p "$1"
  mount -t tmpfs -o "size=$2${3:+,$3}" tallix-e2e "$1" 2>/dev/null || return 1
  small_file_systems+=("$1")
}

# A Tallix.exe started from one is stopped first; one still busy is let go
# once what holds it ends.
release_small_file_systems() {
  local folder
  for folder in "${small_file_systems[@]}"; do
    pkill -KILL -f "$folder/Tallix.exe" 2>/dev/null
    umount "$folder" 2>/dev/null || umount -l "$folder"
  done
  small_file_systems=()
}
