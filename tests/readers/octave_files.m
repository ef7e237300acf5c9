% octave_binary.m: Octave reads every binary file korvex wrote (binary.cases lists precision and
% machine format) and checks each value against the expected doubles; then it writes the same
% values in the same formats for korvex to read back.  Usage: octave-cli octave_binary.m DIR
args = argv();
dir = args{1};
cases = fopen(fullfile(dir, 'binary.cases'), 'r');
bad = 0;
while true
  line = fgetl(cases);
  if ~ischar(line)
    break;
  end
  p = strsplit(line, ' ');  % korvex precision, korvex format, Octave precision, Octave format
  f = fopen(fullfile(dir, [p{1} '.expect']), 'r');
  want = fread(f, Inf, 'double');
  fclose(f);
  name = fullfile(dir, ['k_' p{1} '_' p{2} '.bin']);
  f = fopen(name, 'r');
  got = fread(f, Inf, p{3}, 0, p{4});
  fclose(f);
  if ~(numel(got) == numel(want) && isequaln(got, want) && all(signbit(got) == signbit(want)))
    printf('%s read as %s %s: %s, expected %s\n', name, p{3}, p{4}, mat2str(got', 17), mat2str(want', 17));
    bad = 1;
  end
  f = fopen(fullfile(dir, ['o_' p{1} '_' p{2} '.bin']), 'w');
  fwrite(f, want, p{3}, 0, p{4});
  fclose(f);
end
fclose(cases);
exit(bad);
