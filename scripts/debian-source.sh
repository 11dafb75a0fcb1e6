#!/usr/bin/env bash
# Fetches Debian source packages with the ordinary apt client and unpacks them with Debian's
# patches applied:
#   scripts/debian-source.sh DIR SUITE PACKAGE[/upstream]...
# SUITE is a codename (bookworm, trixie); the archive sites are the system's own, taken from its
# apt configuration, with the suite's -updates and -security siblings wherever the system lists
# the matching ones for its own release. The indexes are read through a private apt
# configuration under DIR/apt, so the system's lists stay as they are and no deb-src entry is
# needed. Every downloaded file is checked against the SHA-256 that the signed index gives.
# PACKAGE/upstream takes the upstream release alone (Debian's .orig tarball) when the archive
# does not serve Debian's own files of the package.
# Writes DIR/PACKAGE/ (the unpacked tree), DIR/PACKAGE.files/ (what was downloaded) and
# DIR/PACKAGE.version; a package whose tree is already there is left alone.
set -euo pipefail
dir=$1 suite=$2
shift 2
mkdir -p "$dir"
dir=$(cd "$dir" && pwd)
todo=()
for p in "$@"; do [ -f "$dir/${p%/upstream}.version" ] || todo+=("$p"); done
[ ${#todo[@]} -eq 0 ] && exit 0

own=$(. /etc/os-release && echo "${VERSION_CODENAME:-bookworm}")
apt_dir=$dir/apt/$suite
mkdir -p "$apt_dir/lists/partial" "$apt_dir/cache/archives/partial" "$apt_dir/parts"
: >"$apt_dir/status"
# One deb-src line for each of the system's deb entries of its own release, suite renamed.
keyring=/usr/share/keyrings/debian-archive-keyring.gpg
apt-get indextargets --format '$(SITE) $(RELEASE) $(COMPONENT) $(TARGET_OF)' 'Created-By: Packages' |
  sort -u | while read -r site release component kind; do
  [ "$kind" = deb ] && [ "$component" = main ] || continue
  case "$release" in
  "$own") echo "deb-src [signed-by=$keyring] $site $suite main" ;;
  "$own"-*) echo "deb-src [signed-by=$keyring] $site $suite-${release#"$own"-} main" ;;
  esac
done >"$apt_dir/sources.list"
[ -s "$apt_dir/sources.list" ] || { echo "debian-source: the system lists no $own archive" >&2; exit 1; }
apt=(-o Dir::Etc::SourceList="$apt_dir/sources.list" -o Dir::Etc::SourceParts="$apt_dir/parts"
  -o Dir::State::Lists="$apt_dir/lists" -o Dir::Cache="$apt_dir/cache"
  -o Dir::State::status="$apt_dir/status" -o APT::Get::List-Cleanup=false
  -o APT::Sandbox::User=root)
apt-get "${apt[@]}" -qq update

for wanted in "${todo[@]}"; do
  p=${wanted%/upstream}
  # The newest version that the suite and its siblings hold, with its files' hashes as the signed
  # index gives them; apt's own downloader checks every file against its hash.
  uris=$(apt-get "${apt[@]}" -qq --print-uris source "$p")
  [ -n "$uris" ] || { echo "debian-source: $suite has no source package $p" >&2; exit 1; }
  work=$dir/.fetch-$p
  rm -rf "$work" && mkdir -p "$work"
  missing=()
  while read -r uri file _ hash; do
    /usr/lib/apt/apt-helper "${apt[@]}" -qq download-file "${uri//\'/}" "$work/$file" "$hash" \
      >/dev/null 2>&1 || missing+=("$file")
  done <<<"$uris"
  dsc=$(cd "$work" && ls ./*.dsc 2>/dev/null || true)
  version=$(awk '$2 ~ /\.dsc$/ { print $2 }' <<<"$uris" | sed "s/^${p}_//; s/\.dsc\$//")
  if [ ${#missing[@]} -eq 0 ]; then
    # The archive's signature covers the index, and so every file: the uploader's own
    # signature on the .dsc is not checked again (that needs the developers' keyring).
    (cd "$work" && dpkg-source -x "$dsc" tree >/dev/null 2>&1)
    echo "$version" >"$work/version"
  elif [ "$wanted" != "$p" ] && ! printf '%s\n' "${missing[@]}" | grep -q '\.orig\.'; then
    # Debian's own files are not to be had, the upstream release it packs is: that alone.
    mkdir "$work/tree"
    tar -xf "$work"/*.orig.tar.* -C "$work/tree" --strip-components=1
    echo "${version%-*} (upstream release from Debian's ${p}_${version%-*}.orig tarball)" \
      >"$work/version"
    echo "debian-source: $p: Debian's ${missing[*]} could not be fetched; upstream source alone" >&2
  else
    echo "debian-source: $p $version: could not fetch ${missing[*]}" >&2
    exit 1
  fi
  rm -rf "${dir:?}/$p" "${dir:?}/$p.files"
  mv "$work/tree" "$dir/$p"
  mv "$work/version" "$dir/$p.version"
  mv "$work" "$dir/$p.files"
  echo "debian-source: $p $(cat "$dir/$p.version") ($suite)"
done
