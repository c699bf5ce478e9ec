# Sourced: what this host can run.

# Whether this host runs 32-bit Wine: natively, as a 32-bit Linux program. Some
# hosts run none (no 32-bit mode in their kernel or hypervisor); on others
# 32-bit Wine could not be installed. An emulator registered for 32-bit
# programs (qemu-user) does not count: Wine crashes under it, or takes many
# minutes to start.
quellix_host_runs_32bit_wine() {
  [[ ! -e /proc/sys/fs/binfmt_misc/qemu-i386 ]] && /lib/ld-linux.so.2 --version >/dev/null 2>&1 &&
    [[ -x /usr/lib/wine/wine ]]
}
